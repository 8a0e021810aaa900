// A game object of a test's own in place of the current one, for as long as
// the guard lives; the one it replaced comes back afterwards. `Absent` puts
// no game object in place at all.
#pragma once

#include <memory>
#include <utility>

#include "frame/Game.h"

class ScopedGame {
  public:
    enum Kind { Fresh, Absent };
    explicit ScopedGame(Kind kind = Fresh)
        : saved_(std::exchange(Game, kind == Fresh ? std::make_unique<TGame>() : nullptr)) {}
    ~ScopedGame() { Game = std::move(saved_); }
    ScopedGame(const ScopedGame&) = delete;
    ScopedGame& operator=(const ScopedGame&) = delete;

  private:
    std::unique_ptr<TGame> saved_;
};
