#include "shell/CompanyData.h"

#include "platform/TextFile.h"

#include <QFileInfo>

namespace shell {

bool readCompanyData(const QString& path, CompanyData& out) {
    if (!QFileInfo(path).isFile())
        return false;
    const auto lines = platform::textfile::readLines(path);
    if (!lines)
        return false;
    out.name = lines->value(0);
    out.line3 = lines->value(2);
    out.line4 = lines->value(3);
    return true;
}

} // namespace shell
