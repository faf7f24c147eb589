#pragma once
// The program's one serial port (Windows only): opened by number with the KT.8 line settings
// (9600 baud, 8 data bits, no parity, 2 stop bits, binary, no flow control of any kind),
// overlapped writes and reads whose waits sleep in the system, single-byte waits with a limit,
// flush and close. ComLine() is this port as the byte line of the Modbus master.
// "ПОРТ НЕДОСТУПЕН" goes through a replaceable function so that tests can catch it.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "app/link/ByteLine.h"

// Closes a port that is open, then opens COM<port> (1..32); 0 and numbers above 32 are refused
// without a message. A port that cannot be opened or configured shows "ПОРТ НЕДОСТУПЕН".
bool ComOpen(std::uint8_t port);
// True when no port is open afterwards.
bool ComClose();
bool ComIsOpen();
// Discards the queued input, then writes; true when every byte was written within 500 ms.
bool ComWrite(std::span<const std::uint8_t> bytes);
// Reads up to buffer.size() bytes within the port's read time-outs (at most 5 s); returns how many.
std::size_t ComRead(std::span<std::uint8_t> buffer);
bool ComHasInput();
// Waits at most limitSeconds for one byte; false and 0xFF when none came.
bool ComWaitByte(std::uint8_t& out, unsigned limitSeconds);
// ComWaitByte with 2 s: the byte, or 0xFF after the limit.
std::uint8_t ComReadByte();
// Returns once everything written has left the port.
void ComFlush();

// The same wait in milliseconds, telling a quiet line from a port that cannot deliver.
app::link::LineWait ComWaitByteFor(std::uint8_t& out, app::link::Millis limit);

// The line-settings record of the port, kept between calls; ComReadLineSettings fills it from the
// open port and ComWriteLineSettings writes it back (both false with no port open).
DCB& ComLineSettings();
bool ComReadLineSettings();
bool ComWriteLineSettings();
// Reads the port's settings, sets the stop bits (ONESTOPBIT for the host-link instrument,
// TWOSTOPBITS for the unit) and no parity, and writes them back.
bool ComSetStopBits(BYTE stopBits);

// The error word of the last ComClose (ClearCommError's mask, or GetLastError when closing failed).
DWORD ComLastError();

using ComMessageBoxFn = void (*)(const wchar_t* text, const wchar_t* caption);
// Replaces the function that shows the port layer's messages; returns the previous one.
ComMessageBoxFn ComSetMessageBox(ComMessageBoxFn show);

app::link::ByteLine& ComLine();
