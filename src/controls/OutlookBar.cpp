#include "controls/OutlookBar.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace controls {

OutlookBar::OutlookBar(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(p);
}

int OutlookBar::addGroup(const QString& caption) {
    const int index = int(m_groups.size());
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QStringLiteral("OutlookGroup%1").arg(index));
    button->setFocusPolicy(Qt::NoFocus);
    button->setFlat(false);
    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("OutlookList%1").arg(index));
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::TopToBottom);
    list->setMovement(QListView::Static);
    list->setWrapping(false);
    list->setIconSize(QSize(32, 32));
    list->setGridSize(QSize(62, 58));
    list->setSpacing(0);
    list->setFrameShape(QFrame::NoFrame);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette lp = list->palette();
    lp.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80));
    lp.setColor(QPalette::Text, Qt::white);
    list->setPalette(lp);
    list->hide();
    m_layout->addWidget(button);
    m_layout->addWidget(list, 1);
    m_groups.append({button, list, true});
    connect(button, &QPushButton::clicked, this, [this, index] { setActiveGroup(index); });
    connect(list, &QListWidget::itemClicked, this,
            [this, index, list](QListWidgetItem* item) { clickItem(index, list->row(item)); });
    if (m_active < 0)
        setActiveGroup(index);
    return index;
}

void OutlookBar::addItem(int group, const QString& caption, const QIcon& picture) {
    insertItem(group, itemCount(group), caption, picture);
}

void OutlookBar::insertItem(int group, int index, const QString& caption, const QIcon& picture) {
    if (group < 0 || group >= m_groups.size())
        return;
    auto* item = new QListWidgetItem(picture, caption);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_groups[group].list->insertItem(index, item);
}

void OutlookBar::removeItem(int group, int index) {
    if (group < 0 || group >= m_groups.size())
        return;
    delete m_groups[group].list->takeItem(index);
}

int OutlookBar::itemCount(int group) const {
    return group >= 0 && group < m_groups.size() ? m_groups[group].list->count() : 0;
}

QString OutlookBar::groupCaption(int group) const {
    return group >= 0 && group < m_groups.size() ? m_groups[group].button->text() : QString();
}

QString OutlookBar::itemCaption(int group, int item) const {
    if (group < 0 || group >= m_groups.size())
        return {};
    QListWidgetItem* it = m_groups[group].list->item(item);
    return it ? it->text() : QString();
}

void OutlookBar::setActiveGroup(int group) {
    if (group < 0 || group >= m_groups.size() || !m_groups[group].visible)
        return;
    m_active = group;
    for (int i = 0; i < m_groups.size(); ++i)
        m_groups[i].list->setVisible(i == group);
    emit activeGroupChanged(group);
}

void OutlookBar::setGroupVisible(int group, bool visible) {
    if (group < 0 || group >= m_groups.size())
        return;
    m_groups[group].visible = visible;
    m_groups[group].button->setVisible(visible);
    if (!visible && m_active == group) {
        m_groups[group].list->hide();
        for (int i = 0; i < m_groups.size(); ++i) {
            if (m_groups[i].visible) {
                setActiveGroup(i);
                break;
            }
        }
    } else if (visible && m_active == group) {
        m_groups[group].list->show();
    }
}

bool OutlookBar::isGroupVisible(int group) const {
    return group >= 0 && group < m_groups.size() && m_groups[group].visible;
}

int OutlookBar::selectedItem(int group) const {
    if (group < 0 || group >= m_groups.size())
        return -1;
    const QList<QListWidgetItem*> selected = m_groups[group].list->selectedItems();
    return selected.isEmpty() ? -1 : m_groups[group].list->row(selected.first());
}

void OutlookBar::setSelectedItem(int group, int item) {
    if (group < 0 || group >= m_groups.size())
        return;
    QListWidget* list = m_groups[group].list;
    list->clearSelection();
    if (QListWidgetItem* it = list->item(item))
        it->setSelected(true);
}

void OutlookBar::clearSelection(int group) {
    if (group >= 0 && group < m_groups.size())
        m_groups[group].list->clearSelection();
}

void OutlookBar::clickItem(int group, int item) {
    if (group < 0 || group >= m_groups.size() || item < 0 || item >= itemCount(group))
        return;
    setSelectedItem(group, item);
    emit itemClicked(group, item);
}

QListWidget* OutlookBar::groupList(int group) const {
    return group >= 0 && group < m_groups.size() ? m_groups[group].list : nullptr;
}

QPushButton* OutlookBar::groupButton(int group) const {
    return group >= 0 && group < m_groups.size() ? m_groups[group].button : nullptr;
}

} // namespace controls
