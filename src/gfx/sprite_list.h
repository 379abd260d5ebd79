// The running sprite copies of a program: animated and drawn once per
// frame, found by name; a finished play-once copy is taken out and destroyed.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/sprite.h"

namespace platform { class Surface; }

namespace gfx {

class SpriteList {
 public:
  // Rewinds the source to its range start at the present time, then
  // appends a copy of it; returns the copy.
  Sprite* AddCopy(Sprite& sprite);
  // Animates every copy and draws those whose frame lies in their range,
  // then removes the play-once copies that have finished.
  void DrawAll(platform::Surface* target);
  Sprite* Find(const std::string& name) const;
  void Clear() { sprites_.clear(); }

  size_t Count() const { return sprites_.size(); }
  Sprite* At(size_t index) const { return index < sprites_.size() ? sprites_[index].get() : nullptr; }

 private:
  std::vector<std::unique_ptr<Sprite>> sprites_;
};

}  // namespace gfx
