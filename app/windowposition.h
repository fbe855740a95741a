#pragma once

#include <QPoint>

class SettingsStore;

// Form1's place between runs: the outer top-left corner in twips under Form1_StrtUp, keys X1
// and Y1. What cannot be read or written is said on stderr; the window goes on either way.

// The stored corner in pixels; a key that is missing or holds no number keeps that coordinate
// of placed (the corner the window has now).
QPoint storedPosition(const SettingsStore& store, QPoint placed);
// Stores the corner and writes the store out.
void storePosition(SettingsStore& store, QPoint corner);
