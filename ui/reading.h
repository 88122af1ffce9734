// A reading: check the entries, determine the sign, fill a fresh profile window
// from the sign's profile, and swap it in for the input window.
#pragma once

class FrmMain;

void show_reading(FrmMain &input);
