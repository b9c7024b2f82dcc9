#pragma once

class MainWindow;

// The keys that work on every screen, seen by the window before the list that has the
// focus: Space pauses and resumes, Escape backs out, F1 and F2 set the A-B repeat.
void Form_KeyDown(MainWindow& window, int KeyCode);

// The control panel's auto-hide: hides it and gives the player the whole screen back.
void Timer2_Timer(MainWindow& window);
