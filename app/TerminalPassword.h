#pragma once
// Reads a master password for a run without windows (lockora --check): from
// the terminal with echo off, after a prompt on standard error, or, when
// standard input is not a terminal, its first line (how scripts and tests
// give it). Never from the command line or the environment, which other
// users' processes may read. One thread.

#include "runtime/text/FixedText.h"

// Puts what was typed into `into`, cut to its capacity as the login's entry
// cuts it; the bytes read are wiped here, `into` is the caller's to wipe.
// False when nothing could be read (end of input before any character).
bool ReadMasterPassword(rt::FixedText& into);
