#include "Company.h"

#include "data/EngineError.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The program to start at login: the one beside this tool (installed), the
// one of the same build tree, or whatever "monvela" the PATH finds.
QString programBesideTool() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(QStringLiteral("monvela")),
                                     here.filePath(QStringLiteral("../src/monvela"))}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
    return QStringLiteral("monvela");
}

int usage() {
    QTextStream(stderr) << "Uso:\n"
                           "  monvela-company create DIR\n"
                           "  monvela-company demo DIR\n"
                           "  monvela-company add-user DIR NOMBRE CLAVE [--no-access]\n"
                           "  monvela-company autostart DIR [--remove]\n"
                           "  monvela-company generate DIR --installments N --documents M\n"
                           "      [--parties P] [--per-bank K] [--due-percent P] [--days-ahead D]\n"
                           "      [--refresh-hours H] [--seed S]\n";
    return 2;
}

// The options of "generate": each "--name value"; false on anything else.
bool generateOptions(const QStringList& args, company::GenerateOptions& o) {
    bool haveInstallments = false, haveDocuments = false;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return false;
        bool ok = false;
        const qint64 value = args.at(i + 1).toLongLong(&ok);
        if (!ok || value < 0 || value > 100000000)
            return false;
        const QString& name = args.at(i);
        if (name == QLatin1String("--installments")) {
            o.installments = value;
            haveInstallments = true;
        } else if (name == QLatin1String("--documents")) {
            o.documents = value;
            haveDocuments = true;
        } else if (name == QLatin1String("--parties")) {
            o.parties = value;
        } else if (name == QLatin1String("--per-bank")) {
            o.perBank = int(value);
        } else if (name == QLatin1String("--due-percent")) {
            o.duePercent = int(value);
        } else if (name == QLatin1String("--days-ahead")) {
            o.daysAhead = int(value);
        } else if (name == QLatin1String("--refresh-hours")) {
            o.refreshHours = int(value);
        } else if (name == QLatin1String("--seed")) {
            o.seed = quint32(value);
        } else {
            return false;
        }
    }
    return haveInstallments && haveDocuments;
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
        } else if (command == QLatin1String("generate")) {
            company::GenerateOptions options;
            if (!generateOptions(args.mid(2), options))
                return usage();
            company::generate(dir, platform::Clock::instance().today(), options);
        } else if (command == QLatin1String("autostart") && args.size() == 2) {
            company::writeAutostart(dir, programBesideTool());
        } else if (command == QLatin1String("autostart") && args.size() == 3 &&
                   args.at(2) == QLatin1String("--remove")) {
            company::removeAutostart();
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
