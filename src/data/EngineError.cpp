#include "data/EngineError.h"

namespace data {

EngineError::EngineError(const QString& text)
    : std::runtime_error(text.toStdString()), m_text(text) {}

} // namespace data
