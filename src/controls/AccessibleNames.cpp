#include "controls/AccessibleNames.h"

#include "controls/HeaderSections.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextEdit>
#include <algorithm>
#include <vector>

namespace controls {

namespace {

// The name this pass gave a control last; a name that differs from it was set
// by the window itself and is left alone.
constexpr char GivenName[] = "controls.accessibleName";
// Set on a caption label this pass made the buddy of its drop-down.
constexpr char CaptionBuddy[] = "controls.captionBuddy";
// The object that keeps a window's names in step with their captions.
const QString LinksName = QStringLiteral("controls.AccessibleNames");

constexpr int RowSlack = 3;       // pixels a caption may overlap or miss its field's row
constexpr int AboveDistance = 20; // how far above its field or list a caption may stand

bool hasLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QString stripMnemonics(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                out += text.at(++i);
            continue;
        }
        out += text.at(i);
    }
    return out;
}

bool overlapsAcross(const QRect& a, const QRect& b) {
    return a.left() <= b.right() && a.right() >= b.left();
}

// A caption just above `target`: its bottom at most AboveDistance above the
// target's top (or a little into it), overlapping it across.
bool standsAbove(const QRect& caption, const QRect& target) {
    return caption.bottom() <= target.top() + RowSlack &&
           target.top() - caption.bottom() <= AboveDistance && overlapsAcross(caption, target);
}

// A field is an input of its own: the inner edit of a drop-down or spin box is
// named with its owner.
bool isField(const QWidget* w) {
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        const QWidget* parent = edit->parentWidget();
        return !qobject_cast<const QComboBox*>(parent) &&
               !qobject_cast<const QAbstractSpinBox*>(parent);
    }
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) ||
           (qobject_cast<const QTextEdit*>(w) && !qobject_cast<const QTextBrowser*>(w));
}

bool isList(const QWidget* w) {
    return qobject_cast<const QAbstractItemView*>(w) && !qobject_cast<const QHeaderView*>(w);
}

// The buttons of the windows, not the drop-down buttons inside the edits.
bool isWindowButton(const QWidget* w) {
    if (!qobject_cast<const QAbstractButton*>(w))
        return false;
    const QWidget* parent = w->parentWidget();
    return !qobject_cast<const QLineEdit*>(parent) && !qobject_cast<const QComboBox*>(parent) &&
           !qobject_cast<const QAbstractSpinBox*>(parent);
}

QString captionOf(const QWidget* source) {
    if (auto* label = qobject_cast<const QLabel*>(source))
        return CaptionName(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(source))
        return CaptionName(button->text());
    return QString();
}

QString headerCaptions(const HeaderSections& header) {
    QStringList captions;
    for (int k = 0; k < header.SectionCount(); ++k) {
        const QString caption = CaptionName(header.SectionCaption(k));
        if (!caption.isEmpty())
            captions << caption;
    }
    return captions.join(QStringLiteral(", "));
}

QWidget* innerEdit(QWidget* w) {
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->lineEdit();
    if (qobject_cast<QAbstractSpinBox*>(w))
        return w->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    return nullptr;
}

// Gives `w` (and its inner edit) the name, unless the window named it itself.
void giveName(QWidget* w, const QString& name) {
    if (!w || name.isEmpty())
        return;
    const QString current = w->accessibleName();
    if (!current.isEmpty() && current != w->property(GivenName).toString())
        return;
    if (current != name)
        w->setAccessibleName(name);
    w->setProperty(GivenName, name);
    giveName(innerEdit(w), name);
}

// The fallback name of a field or a picture button.
QString ownName(const QWidget* w) {
    const QString tip = CaptionName(w->toolTip());
    return tip.isEmpty() ? NameFromObjectName(w->objectName()) : tip;
}

// A control named by captions: labels (joined in the order given), else the
// sections of a header.
struct Link {
    QPointer<QWidget> control;
    QList<QPointer<QWidget>> captions;
    QPointer<HeaderSections> header;

    QString name() const {
        QStringList parts;
        for (const QPointer<QWidget>& caption : captions) {
            const QString text = caption ? captionOf(caption) : QString();
            if (!text.isEmpty())
                parts << text;
        }
        if (parts.isEmpty() && header)
            return headerCaptions(*header);
        return parts.join(QStringLiteral(", "));
    }
};

class CaptionLinks : public QObject {
public:
    explicit CaptionLinks(QWidget* window) : QObject(window) { setObjectName(LinksName); }

    void add(Link link) {
        if (!link.control)
            return;
        const int index = int(m_links.size());
        watch(link.control, index);
        for (const QPointer<QWidget>& caption : link.captions)
            watch(caption, index);
        if (link.header)
            watch(link.header, index);
        m_links.push_back(std::move(link));
        refresh(index);
    }

    void refreshAll() {
        for (int index = 0; index < int(m_links.size()); ++index)
            refresh(index);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Paint:
        case QEvent::FocusIn:
        case QEvent::Show:
        case QEvent::ParentChange:
            for (int index : m_watched.values(watched))
                refresh(index);
            break;
        case QEvent::Hide:
            // A drop-down leaving its spot leaves its caption to the one
            // that shows there now.
            for (int index : m_watched.values(watched))
                for (const QPointer<QWidget>& caption : m_links[size_t(index)].captions)
                    for (int other : m_watched.values(caption))
                        if (other != index)
                            refresh(other);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void watch(QWidget* w, int index) {
        if (!w)
            return;
        if (!m_watched.contains(w))
            w->installEventFilter(this);
        m_watched.insert(w, index);
    }

    void refresh(int index) {
        const Link& link = m_links[size_t(index)];
        if (!link.control)
            return;
        giveName(link.control, link.name());
        if (qobject_cast<QComboBox*>(link.control))
            lendCaption(link);
    }

    // On this platform a drop-down reads its chosen text as its name and its
    // caption through the label relation, which Qt takes from the label's
    // buddy: the caption label becomes the buddy of the drop-down showing by
    // it (one label may serve two drop-downs on the same spot, one at a
    // time). A caption with a mnemonic mark is left as it is, since a buddy
    // would turn its "&" into a shortcut.
    static void lendCaption(const Link& link) {
        auto* label =
            link.captions.isEmpty() ? nullptr : qobject_cast<QLabel*>(link.captions.front());
        if (!label || label->text().contains(QLatin1Char('&')))
            return;
        QWidget* buddy = label->buddy();
        if (buddy == link.control || (buddy && (!label->property(CaptionBuddy).toBool() ||
                                                buddy->isVisible() || !link.control->isVisible())))
            return;
        label->setProperty(CaptionBuddy, true);
        label->setBuddy(link.control);
    }

    std::vector<Link> m_links;
    QMultiHash<QObject*, int> m_watched;
};

struct Captions {
    QList<QWidget*> widgets;
    QList<QRect> rects;
};

} // namespace

QString CaptionName(const QString& labelText) {
    QString name = stripMnemonics(labelText).simplified();
    while (!name.isEmpty() && (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char('.')) ||
                               name.endsWith(QChar(0x2026)) || name.endsWith(QLatin1Char(' '))))
        name.chop(1);
    return name;
}

QString NameFromObjectName(const QString& objectName) {
    QString base = objectName;
    while (!base.isEmpty() && (base.back().isDigit() || base.back() == QLatin1Char('_')))
        base.chop(1);
    static const QRegularExpression word(
        QStringLiteral("[A-Z]+(?=[A-Z][a-z])|[A-Z][a-z0-9]+|[A-Z]+|[a-z0-9]+"));
    QStringList words;
    for (auto it = word.globalMatch(base); it.hasNext();)
        words << it.next().captured();
    // The type prefix: capitals standing before the first word.
    while (words.size() > 1 && words.front() == words.front().toUpper() &&
           !words.front().front().isDigit())
        words.removeFirst();
    if (words.isEmpty())
        return QString();
    words.front()[0] = words.front().front().toUpper();
    return words.join(QLatin1Char(' '));
}

int CaptionIndex(const QRect& field, const QList<QRect>& captions) {
    const QPoint centre = field.center();
    int best = -1;
    for (int i = 0; i < captions.size(); ++i) {
        const QRect& c = captions.at(i);
        if (c.contains(centre) && c.left() <= field.left() && c.right() >= field.right() &&
            (best < 0 ||
             c.width() * c.height() < captions.at(best).width() * captions.at(best).height()))
            best = i;
    }
    if (best >= 0)
        return best;

    int bestGap = 0, bestOff = 0;
    for (int i = 0; i < captions.size(); ++i) {
        const QRect& c = captions.at(i);
        const int middle = c.center().y();
        if (c.left() >= field.left() || c.right() > field.left() + RowSlack ||
            middle < field.top() - RowSlack || middle > field.bottom() + RowSlack)
            continue;
        const int gap = field.left() - c.right();
        const int off = qAbs(middle - centre.y());
        if (best < 0 || gap < bestGap || (gap == bestGap && off < bestOff)) {
            best = i;
            bestGap = gap;
            bestOff = off;
        }
    }
    if (best >= 0)
        return best;

    for (int i = 0; i < captions.size(); ++i) {
        const QRect& c = captions.at(i);
        if (!standsAbove(c, field))
            continue;
        const int gap = field.top() - c.bottom();
        const int off = qAbs(c.left() - field.left());
        if (best < 0 || gap < bestGap || (gap == bestGap && off < bestOff)) {
            best = i;
            bestGap = gap;
            bestOff = off;
        }
    }
    return best;
}

QList<int> HeadingIndexes(const QRect& list, const QList<QRect>& captions) {
    QList<int> found;
    for (int i = 0; i < captions.size(); ++i)
        if (standsAbove(captions.at(i), list))
            found << i;
    std::stable_sort(found.begin(), found.end(), [&](int a, int b) {
        const QRect& ra = captions.at(a);
        const QRect& rb = captions.at(b);
        return ra.top() != rb.top() ? ra.top() < rb.top() : ra.left() < rb.left();
    });
    return found;
}

void NameControls(QWidget* window) {
    if (!window)
        return;
    delete dynamic_cast<CaptionLinks*>(
        window->findChild<QObject*>(LinksName, Qt::FindDirectChildrenOnly));
    auto* links = new CaptionLinks(window);

    QList<QWidget*> widgets;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window)
            widgets << w;

    // Buddies name their fields; the other labels with a caption are looked
    // up by place, per parent. Labels showing a picture are no captions.
    QHash<QWidget*, QLabel*> buddyLabel;
    // A label this pass lent to a drop-down is a caption by place like any other.
    auto isBuddy = [](const QLabel* label) {
        return label->buddy() && !label->property(CaptionBuddy).toBool();
    };
    for (QWidget* w : widgets)
        if (auto* label = qobject_cast<QLabel*>(w); label && isBuddy(label))
            buddyLabel.insert(label->buddy(), label);
    QHash<QWidget*, Captions> fieldCaptions, listCaptions;
    QHash<QWidget*, QList<HeaderSections*>> headers;
    for (QWidget* w : widgets) {
        if (auto* header = qobject_cast<HeaderSections*>(w)) {
            headers[w->parentWidget()] << header;
            continue;
        }
        auto* label = qobject_cast<QLabel*>(w);
        if (!label || isBuddy(label) || !label->pixmap().isNull())
            continue;
        // A list's heading may be empty now and get its text later.
        Captions& forLists = listCaptions[w->parentWidget()];
        forLists.widgets << w;
        forLists.rects << w->geometry();
        if (hasLetter(CaptionName(label->text()))) {
            Captions& forFields = fieldCaptions[w->parentWidget()];
            forFields.widgets << w;
            forFields.rects << w->geometry();
        }
    }

    for (QWidget* w : widgets) {
        if (isField(w)) {
            Link link{w, {}, {}};
            if (QLabel* buddy = buddyLabel.value(w)) {
                link.captions << buddy;
            } else {
                const Captions& near = fieldCaptions[w->parentWidget()];
                const int index = CaptionIndex(w->geometry(), near.rects);
                if (index >= 0)
                    link.captions << near.widgets.at(index);
            }
            if (!link.captions.isEmpty())
                links->add(std::move(link));
            else
                giveName(w, ownName(w));
        } else if (isList(w)) {
            Link link{w, {}, {}};
            QRect top = w->geometry();
            for (HeaderSections* header : headers.value(w->parentWidget()))
                if (standsAbove(header->geometry(), top) &&
                    w->geometry().top() - header->geometry().bottom() <= RowSlack + 1) {
                    link.header = header;
                    top = header->geometry();
                    break;
                }
            const Captions& near = listCaptions[w->parentWidget()];
            for (int index : HeadingIndexes(top, near.rects))
                link.captions << near.widgets.at(index);
            if (!link.captions.isEmpty() || link.header)
                links->add(std::move(link));
        } else if (isWindowButton(w)) {
            const QString text = static_cast<QAbstractButton*>(w)->text();
            if (CaptionName(text).isEmpty())
                giveName(w, ownName(w));
            else if (CaptionName(text) != stripMnemonics(text))
                links->add(Link{w, {w}, {}}); // dot leaders or a trailing ":"
        }
    }
}

void RefreshAccessibleNames(QWidget* window) {
    if (!window)
        return;
    if (auto* links = dynamic_cast<CaptionLinks*>(
            window->findChild<QObject*>(LinksName, Qt::FindDirectChildrenOnly)))
        links->refreshAll();
}

} // namespace controls
