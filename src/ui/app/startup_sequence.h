#pragma once

// The process entry: asks for the language on the first run, otherwise starts at once.
void startProgram();

// Prepares the data folder, the book and the settings, then shows the browse window
// (or ends the program when the user chose to).
void continueStartup();
