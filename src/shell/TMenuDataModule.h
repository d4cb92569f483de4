#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>

namespace shell {

// The suite's shared data module: the pictures every window takes its button
// glyphs from. The program creates it first and keeps it for its whole life;
// windows reach it through instance().
class TMenuDataModule : public QObject {
    Q_OBJECT
public:
    static constexpr int ButtonPictureCount = 34;
    static constexpr int ButtonPictureWidth = 32;
    static constexpr int ButtonPictureHeight = 16;
    static constexpr int GlyphSize = 16;

    explicit TMenuDataModule(QObject* parent = nullptr);
    ~TMenuDataModule() override;

    // The module the program created; nullptr before it exists or after it is gone.
    static TMenuDataModule* instance();

    // The 34 button pictures, 32 x 16 each: the normal glyph at the left and
    // the disabled glyph at the right. A button whose name ends in the digits
    // n gets picture n - 1: 001 accept, 002 cancel, 006 search, 008 preview,
    // 010 delete, 012 save, 022 process, 023 restore, 030 edit, 032 back,
    // 033 next (see the drawing code for the rest).
    const QList<QPixmap>& ImageBotones() const { return m_imageBotones; }

    // Picture `index` as a button icon with its normal and disabled glyphs;
    // a null icon for an index out of range.
    QIcon ButtonIcon(int index) const;

private:
    QList<QPixmap> m_imageBotones;
};

} // namespace shell
