// utf8_locale.cpp: choosing a UTF-8 character set before Qt reads the locale.
#include "app/utf8_locale.h"

#include <QByteArray>
#include <QtGlobal>

#include <clocale>
#include <langinfo.h>

namespace app {

void chooseUtf8Locale() {
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    if (qstricmp(codeset, "UTF-8") == 0 || qstricmp(codeset, "utf8") == 0)
        return;
    // "de_DE" from "de_DE.ISO-8859-15@euro": the language stays, only the characters change.
    QByteArray name = std::setlocale(LC_CTYPE, nullptr);
    for (const char mark : {'.', '@'})
        if (const qsizetype at = name.indexOf(mark); at >= 0)
            name.truncate(at);
    for (const QByteArray& locale : {name + ".UTF-8", QByteArray("C.UTF-8")}) {
        if (!std::setlocale(LC_CTYPE, locale.constData()))
            continue;
        // QApplication sets the locale from the environment again. LC_ALL outranks LC_CTYPE:
        // where it is set, the same locale in UTF-8 stands for every category.
        qputenv(qEnvironmentVariableIsEmpty("LC_ALL") ? "LC_CTYPE" : "LC_ALL", locale);
        return;
    }
}

} // namespace app
