// The About box's credit line, also the version record's legal notice: a plain #define, which
// the Windows resource script reads as well as C++ does.
#ifndef KOBAL_APP_CREDIT_LINE_H
#define KOBAL_APP_CREDIT_LINE_H

#define KOBAL_CREDIT_LINE "Copyright (C) 2026 The Kobal Project"

#endif  // KOBAL_APP_CREDIT_LINE_H
