// The yardstick tools/measure compares the programs with: a plain SDL
// program that uploads and presents a whole 800 x 600 frame every 10 ms.
// Runs for the seconds given (default 30) or until its window is closed.
#include <SDL.h>

#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  const Uint32 seconds = argc > 1 ? Uint32(std::atoi(argv[1])) : 30;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("present_every_10ms", SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, 800, 600, SDL_WINDOW_SHOWN);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565,
                                                      SDL_TEXTUREACCESS_STREAMING, 800, 600)
                                  : nullptr;
  if (!texture) return 1;
  std::vector<Uint16> frame(800 * 600);
  const Uint32 end = SDL_GetTicks() + seconds * 1000;
  for (Uint16 n = 0; SDL_GetTicks() < end; ++n) {
    SDL_Event e;
    while (SDL_PollEvent(&e))
      if (e.type == SDL_QUIT) return 0;
    frame[n % frame.size()] = n;
    SDL_UpdateTexture(texture, nullptr, frame.data(), 800 * 2);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_Delay(10);
  }
  SDL_Quit();
  return 0;
}
