#pragma once

#include <QIcon>
#include <QList>
#include <QWidget>

class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace controls {

// The side bar: groups stacked as header buttons; the open group shows its
// items (a picture over a caption) below its header. An item carries a
// selection mark until another item is chosen or the marks are cleared.
class OutlookBar : public QWidget {
    Q_OBJECT
public:
    explicit OutlookBar(QWidget* parent = nullptr);

    int addGroup(const QString& caption); // returns the group's index
    void addItem(int group, const QString& caption, const QIcon& picture = {});
    void insertItem(int group, int index, const QString& caption, const QIcon& picture = {});
    void removeItem(int group, int index);
    int groupCount() const { return int(m_groups.size()); }
    int itemCount(int group) const;
    QString groupCaption(int group) const;
    QString itemCaption(int group, int item) const;

    void setActiveGroup(int group);
    int activeGroup() const { return m_active; }
    void setGroupVisible(int group, bool visible);
    bool isGroupVisible(int group) const;

    // The marked item of a group, -1 for none.
    int selectedItem(int group) const;
    void setSelectedItem(int group, int item);
    void clearSelection(int group);

    // Acts as a click of the user on an item.
    void clickItem(int group, int item);

    QListWidget* groupList(int group) const;
    QPushButton* groupButton(int group) const;

signals:
    void itemClicked(int group, int item);
    void activeGroupChanged(int group);

private:
    struct Group {
        QPushButton* button;
        QListWidget* list;
        bool visible = true;
    };
    QList<Group> m_groups;
    QVBoxLayout* m_layout;
    int m_active = -1;
};

} // namespace controls
