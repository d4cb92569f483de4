#include "Company.h"

#include "data/EngineError.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

int usage() {
    QTextStream(stderr) << "Uso:\n"
                           "  monvela-company create DIR\n"
                           "  monvela-company demo DIR\n"
                           "  monvela-company add-user DIR NOMBRE CLAVE [--no-access]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString command = args.at(0);
    const QString dir = args.at(1);
    try {
        if (command == QLatin1String("create") && args.size() == 2) {
            company::create(dir);
        } else if (command == QLatin1String("demo") && args.size() == 2) {
            company::createDemo(dir, platform::Clock::instance().today());
        } else if (command == QLatin1String("add-user") && (args.size() == 4 || args.size() == 5)) {
            bool access = true;
            if (args.size() == 5) {
                if (args.at(4) != QLatin1String("--no-access"))
                    return usage();
                access = false;
            }
            company::addUser(dir, args.at(2), args.at(3), access);
        } else {
            return usage();
        }
    } catch (const company::ToolError& e) {
        QTextStream(stderr) << "monvela-company: " << e.text() << "\n";
        return 1;
    } catch (const data::EngineError& e) {
        QTextStream(stderr) << "monvela-company: " << e.text() << "\n";
        return 1;
    }
    return 0;
}
