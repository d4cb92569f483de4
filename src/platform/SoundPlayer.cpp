#include "platform/SoundPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <memory>

namespace platform {

namespace {

class MultimediaSoundPlayer : public SoundPlayer {
public:
    bool play(const QString& file) override {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable())
            return false;
        if (!m_player) {
            m_player = std::make_unique<QMediaPlayer>();
            m_output = std::make_unique<QAudioOutput>();
            m_player->setAudioOutput(m_output.get());
        }
        m_player->stop();
        m_player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
        if (m_player->error() != QMediaPlayer::NoError)
            return false;
        m_player->play();
        return m_player->error() == QMediaPlayer::NoError;
    }
    void stop() override {
        if (m_player)
            m_player->stop();
    }

private:
    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_output;
};

SoundPlayer*& installed() {
    static SoundPlayer* player = nullptr;
    return player;
}

} // namespace

SoundPlayer& SoundPlayer::instance() {
    static MultimediaSoundPlayer own;
    SoundPlayer* player = installed();
    return player ? *player : own;
}

void SoundPlayer::install(SoundPlayer* player) {
    installed() = player;
}

} // namespace platform
