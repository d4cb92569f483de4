#include "notice/SerialRunner.h"

namespace notice {

bool SerialRunner::run(Job job, const std::function<void()>& body) {
    if (m_busy) {
        if (job == Job::Reload) {
            m_reload = true;
            m_reloadBody = body;
        } else {
            m_check = true;
            m_checkBody = body;
        }
        return false;
    }
    m_busy = true;
    struct Release {
        bool& busy;
        ~Release() { busy = false; }
    };
    {
        Release release{m_busy};
        body();
    }
    // What arrived meanwhile runs now, the reload first: it refills what the
    // check hands over.
    while (m_reload || m_check) {
        const Job next = m_reload ? Job::Reload : Job::Check;
        std::function<void()> queued = next == Job::Reload ? m_reloadBody : m_checkBody;
        (next == Job::Reload ? m_reload : m_check) = false;
        m_busy = true;
        Release release{m_busy};
        queued();
    }
    return true;
}

} // namespace notice
