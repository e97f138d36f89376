// Reading a hand-made system file of a million keys (about 19 MB): the INI reader must stay linear.
//
//   ini_bench [keys]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/ini.h"

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::atoi(argv[1]) : 1000000;
  std::string text = "[INFORMATION]\r\nname=big\r\n[Card1]\r\n";
  for (int i = 0; i < keys; ++i) text += "key" + std::to_string(i) + "=" + std::to_string(i * 7) + "\r\n";
  const auto start = std::chrono::steady_clock::now();
  const vessaro::IniDocument doc = vessaro::IniDocument::Parse(text);
  int found = 0;
  for (int card = 1; card <= 60; ++card)
    for (const char* key : {"bet", "win", "lose"}) found += !doc.Get("Card" + std::to_string(card), key).empty();
  found += doc.Get("card1", "KEY" + std::to_string(keys - 1)).empty() ? 0 : 1;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d keys, %.1f MB: parsed and looked up in %.3f s (%d found)\n", keys, text.size() / 1e6, seconds,
              found);
  return found == 1 ? 0 : 1;
}
