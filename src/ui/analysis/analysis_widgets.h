// Small pieces the analysis windows share: buttons with an object name, the Player / Banker
// colours, and a read-only field.
#pragma once

#include <QLineEdit>
#include <QPushButton>

namespace vessaro {

QPushButton* MakeButton(const char* text, const char* name);
// Blue for Player, red for Banker, as the road grid draws them.
void StyleSideButton(QPushButton* button, char side);
QLineEdit* MakeReadOnlyField(const char* name, int minimum_width = 0);

}  // namespace vessaro
