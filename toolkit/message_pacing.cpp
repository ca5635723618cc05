#include "toolkit/message_pacing.h"

#include <utility>

namespace signova {

MessagePacing::MessagePacing() : MessagePacing([] { return std::chrono::steady_clock::now(); }) {}

MessagePacing::MessagePacing(Clock clock) : clock_(std::move(clock)) {}

} // namespace signova
