#pragma once

class Navigator;

// The process entry: asks for the language on the first run, otherwise starts at once.
void startProgram(Navigator& navigator);

// Prepares the data folder, the book and the settings, then shows the browse window
// (or ends the program when it cannot go on or the user chose to).
void continueStartup(Navigator& navigator);

// The data folder, the book (offering to replace a broken one), the images folder and the
// settings, telling the user of every problem. False when the program must end instead.
bool prepareAppData();
