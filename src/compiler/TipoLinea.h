#pragma once

// What a command line turned out to be (TipoLinea) and how a code line is
// coloured (v_Tipo of InsertaCodigo: Cmd, Err or Nul).
enum class TipoDeLinea : unsigned char {
    Cmd,   // a command with its code line
    Err,   // an error line (red, with its debug entry)
    Hlp,   // a help request ("?" as the first argument)
    Cmt,   // a comment
    Snt,   // an action word (T, TRANS, ?, TOOLS)
    Nul    // a code line left in the colour it finds
};
