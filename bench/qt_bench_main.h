#pragma once

// Runs the benchmarks registered in this program inside a Qt application on Qt's offscreen
// platform (unless QT_QPA_PLATFORM names another), so that fonts, images and windows work
// without a display.
int RunQtBenchmarks(int argc, char* argv[]);
