#pragma once
#include <QString>

// Program-wide values shared by the main window, the compiler and the
// transmission window. Paths are set once at start-up (FijarCarpeta).
namespace Module1 {

// Paths
inline QString v_Archivo;        // current command file, empty until opened or saved
inline QString v_ArchCFG;        // <folder>/Orvo.cfg
inline QString v_ArchLog;        // <folder>/Comm.log
inline QString v_ArchAyuda;      // <program>/Ayuda/Orvo.chm
inline QString v_ArchCodigo;     // <folder>/Codigo.tmp
inline QString v_ArchComandos;   // <folder>/Comandos.tmp

// Link settings
inline QString v_TipoCom = QStringLiteral("RS232");   // "RS232" or "TCPIP"
inline int v_Puerto = 0;                              // index in the port list, 0 = COM1
inline int v_TimeOut = 3000;                          // ms
inline int v_Delay = 500;                             // ms

// Editor flag: the command text differs from the file.
inline bool v_Modificado = false;

inline constexpr int kVersionMayor = ORVO_VERSION_MAJOR;
inline constexpr int kVersionMenor = ORVO_VERSION_MINOR;
inline constexpr int kVersionRevision = ORVO_VERSION_REVISION;
QString Version();   // "2.0.0"

// Folder of the executable (help pages live there).
QString CarpetaPrograma();
// Folder for Orvo.cfg, Comm.log and the temporary files: the program folder
// when it is writable, else the per-user application data folder.
QString CarpetaDatos();
// Sets every path above from a data folder and a program folder.
void FijarCarpetas(const QString& carpetaDatos, const QString& carpetaPrograma);
// Same, from the running executable (CarpetaDatos / CarpetaPrograma).
void FijarCarpetasPorDefecto();

}  // namespace Module1
