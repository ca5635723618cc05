#include "sound/listen_feed.h"

#include <algorithm>

namespace signova {

ListenFeed::ListenFeed(SampleRing& ring, int deviceRate)
    : ring_(ring), converter_(deviceRate, MaxBlockLength), staging_(MaxBlockLength),
      pending_(2 * converter_.MaxOutput()) {}

void ListenFeed::Flush() {
    pendingStart_ += ring_.Push(&pending_[pendingStart_], PendingSamples());
    if (!Backlogged())
        pendingStart_ = pendingEnd_ = 0;
}

void ListenFeed::ConvertStaged() {
    Flush();
    if (pendingStart_ > 0) {
        // Keep what waits at the front, so the block has its room behind it.
        std::copy(pending_.begin() + static_cast<std::ptrdiff_t>(pendingStart_),
                  pending_.begin() + static_cast<std::ptrdiff_t>(pendingEnd_), pending_.begin());
        pendingEnd_ -= pendingStart_;
        pendingStart_ = 0;
    }
    // With no room for a whole block the run went on without waiting: the
    // block is lost, and counted.
    if (pending_.size() - pendingEnd_ < converter_.MaxOutput()) {
        overflows_ += static_cast<long long>(staged_);
        staged_ = 0;
        return;
    }
    const std::size_t converted = converter_.Convert(staging_.data(), staged_, stagedRate_,
                                                     &pending_[pendingEnd_], converter_.MaxOutput());
    pendingEnd_ += converted;
    staged_ = 0;
    Flush();
}

void ListenFeed::Drop() {
    staged_ = 0;
    pendingStart_ = pendingEnd_ = 0;
    converter_.Reset();
}

} // namespace signova
