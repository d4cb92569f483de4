#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// Opens the program's help at a topic: the ".hlp" file where this desktop has a
// viewer for it, else the HTML page of the same name in the desktop's browser.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual bool open(const QUrl& url) = 0;

    // What the help opens for a help file and a topic.
    static QUrl helpUrl(const QString& helpFile, int topic);
    static bool showTopic(const QString& helpFile, int topic);

    static HelpViewer& instance();
    static void install(HelpViewer* viewer); // nullptr restores the desktop's own
};

} // namespace platform
