#pragma once

#include <QString>

namespace shell {

// The first four lines of a company's "Datos.txt": name, an unused line, and
// the two lines printed in report headers. Missing lines read as empty.
struct CompanyData {
    QString name;
    QString line3;
    QString line4;
};

// nullopt-like: false when the file does not exist or cannot be read.
bool readCompanyData(const QString& path, CompanyData& out);

} // namespace shell
