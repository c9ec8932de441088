// The application object of the test program: the engine's code reaches the
// settings through it, as it does in Lorvane.exe.
#include "LorvaneApp.h"

CLorvaneApp theApp;
