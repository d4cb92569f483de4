#include "platform/HelpViewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

class DesktopHelpViewer : public HelpViewer {
public:
    bool open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

HelpViewer*& installed() {
    static HelpViewer* viewer = nullptr;
    return viewer;
}

// Whether the desktop knows a program for Windows help files.
bool hasHlpViewer() {
#ifdef Q_OS_WIN
    return true;
#else
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("application/winhlp")});
    if (!query.waitForFinished(2000))
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}

} // namespace

QUrl HelpViewer::helpUrl(const QString& helpFile, int topic) {
    const QFileInfo hlp(helpFile);
    if (hlp.isFile() && hasHlpViewer())
        return QUrl::fromLocalFile(hlp.absoluteFilePath());
    QString html = helpFile;
    if (html.endsWith(QStringLiteral(".hlp"), Qt::CaseInsensitive))
        html.chop(4);
    html += QStringLiteral(".html");
    QUrl url = QUrl::fromLocalFile(QFileInfo(html).absoluteFilePath());
    url.setFragment(QStringLiteral("tema%1").arg(topic));
    return url;
}

bool HelpViewer::showTopic(const QString& helpFile, int topic) {
    return instance().open(helpUrl(helpFile, topic));
}

HelpViewer& HelpViewer::instance() {
    static DesktopHelpViewer own;
    HelpViewer* viewer = installed();
    return viewer ? *viewer : own;
}

void HelpViewer::install(HelpViewer* viewer) {
    installed() = viewer;
}

} // namespace platform
