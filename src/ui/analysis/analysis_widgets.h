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

namespace vessaro {

// Shows a window without modality beside a modal one, still taking the user's input while the
// modal one runs (as a transient child of it), and brings it to the front.
void ShowUsableBeside(QWidget* window, QWidget* modal);

}  // namespace vessaro
