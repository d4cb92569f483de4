#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// The one exception type of the table engine; it carries the engine's text.
// Every caller catches it at the boundary of its operation and shows its own message.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString& text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

} // namespace data
