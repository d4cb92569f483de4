#pragma once

#include <functional>

namespace notice {

// Keeps the reload and the notice check from running inside each other. A
// message box raised inside one of them runs a nested event loop that still
// delivers timer events; a job that arrives meanwhile is remembered (once per
// kind) and run when the one in progress has ended.
class SerialRunner {
public:
    enum class Job { Reload, Check };

    // Runs the job now, or queues it when a job is in progress. Returns true
    // when it ran now.
    bool run(Job job, const std::function<void()>& body);

    bool busy() const { return m_busy; }
    bool pending(Job job) const { return job == Job::Reload ? m_reload : m_check; }

private:
    bool m_busy = false;
    bool m_reload = false;
    bool m_check = false;
    std::function<void()> m_reloadBody;
    std::function<void()> m_checkBody;
};

} // namespace notice
