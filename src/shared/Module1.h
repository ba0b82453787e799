#pragma once
#include <QString>

// Program-wide values shared by the main window, the compiler and the
// transmission window. Paths are set once at start-up (FijarCarpetas).
namespace Module1 {

// Paths
inline QString v_Archivo;        // current command file, empty until opened or saved
inline QString v_ArchCFG;        // <folder>/Orvo.cfg
inline QString v_ArchLog;        // <folder>/Comm.log
inline QString v_ArchAyuda;      // <folder holding Ayuda>/Ayuda/Orvo.chm
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

// Folder of the executable.
QString CarpetaPrograma();
// An installed program sits in <prefix>/bin with <prefix>/share/orvo beside
// it (on Windows: its uninstaller beside it); a copy in a folder of its own
// (the build folder, a copied or unpacked folder) does not.
bool EsInstalado(const QString& carpetaPrograma);
// The user's own data folder: ~/.local/share/Orvo, %LOCALAPPDATA%\Orvo.
QString CarpetaUsuario();
// Folder that holds Ayuda/: beside the executable, else <prefix>/share/orvo,
// in that order; the program folder when neither has the pages.
QString CarpetaRecursos(const QString& carpetaPrograma);
// Folder for Orvo.cfg, Comm.log and the temporary files: the per-user data
// folder (~/.local/share/Orvo) for an installed program, even when its folder
// is writable (root); the program folder for a copy of its own.
QString CarpetaDatos(const QString& carpetaPrograma);
QString CarpetaDatos();   // of the running executable
// Folder of the HTML help pages: beside the compiled help file's folder.
QString CarpetaAyudaHtml();
// Sets every path above from a data folder and the folder holding Ayuda/.
void FijarCarpetas(const QString& carpetaDatos, const QString& carpetaRecursos);
// Chooses the folders from where the running executable lives and creates the
// data folder. Called once at start-up, before any window exists.
void FijarCarpetasPorDefecto();

}   // namespace Module1
