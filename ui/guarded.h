#pragma once

#include "toolkit/dialogs.h"
#include "toolkit/errors.h"

#include <concepts>
#include <exception>
#include <utility>

// The default error handler: every Qt signal or event reaches a handler
// through this wrapper, so no exception ever crosses Qt's event dispatch. An
// error is shown in the error box with its full stop; the program goes on.
template <typename Handler> auto Guarded(signova::Dialogs& dialogs, Handler handler) {
    // Callable with exactly the arguments the handler takes, so that Qt passes
    // only those.
    return [&dialogs, handler = std::move(handler) ](
        auto&&... args) requires std::invocable<const Handler&, decltype(args)...> {
        try {
            handler(std::forward<decltype(args)>(args)...);
        } catch (const std::exception& error) {
            signova::ShowDefaultError(dialogs, error);
        }
    };
}
