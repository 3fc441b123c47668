// Ctrl+C, a termination signal or a hang-up ask the run to stop: it keeps its last
// whole generation and ends. Nothing is lost, since every generation is saved.
#pragma once

void catch_stop_signals();
bool stop_requested();
