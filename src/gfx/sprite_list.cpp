#include "gfx/sprite_list.h"

#include <algorithm>


namespace gfx {

Sprite* SpriteList::AddCopy(Sprite& sprite) {
  sprite.SetFrameTime(sprite.Now());
  sprite.SetFrameUnchecked(sprite.RangeStart() == -1 ? 0 : sprite.RangeStart());
  sprites_.push_back(std::make_unique<Sprite>(sprite));
  return sprites_.back().get();
}

void SpriteList::DrawAll(platform::Surface* target) {
  for (auto& s : sprites_) {
    s->Animate();
    const int frame = s->CurrentFrame();
    if (s->RangeStart() <= frame && frame < s->RangeEnd()) s->Draw(target);
  }
  std::erase_if(sprites_, [](const std::unique_ptr<Sprite>& s) {
    const int frame = s->CurrentFrame();
    return s->LoopModeValue() == Sprite::kOnce &&
           (frame < s->RangeStart() || frame >= s->RangeEnd());
  });
}

Sprite* SpriteList::Find(const std::string& name) const {
  for (auto& s : sprites_)
    if (s->Name() == name) return s.get();
  return nullptr;
}

}  // namespace gfx
