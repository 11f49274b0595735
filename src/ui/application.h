#pragma once

// The program's entry: folders, database, main window, home page.
int RunQuillbrook(int argc, char* argv[]);
