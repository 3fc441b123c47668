// The three standard streams of a program that was started with some of them closed.
#pragma once

// Opens the null device on each of standard input, output and error that is not
// open, so that no file the program opens later can take its number and receive
// console text, or be read as keys. Called first thing by every program.
void keep_standard_streams_open();
