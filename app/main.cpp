#include "app/entry_routine.h"

int main(int argc, char** argv) { return RunPlatform(argc, argv, TazmelResources(), EntryRoutine); }
