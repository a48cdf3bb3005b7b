// The hooks through which the core, which has no GUI of its own, reaches the desktop:
//   - error display: QuenExcRegDisplayErrors hands the register's messages to
//     PlatformServices::instance().showError (a critical message box titled "VeltEditors");
//   - parameter clipboard: the core's serialised parameters travel on the system clipboard
//     under the MIME type "application/x-velteditors-parmblock"; without a QGuiApplication they
//     stay in an in-process clipboard.
// A host installs them once at start-up (velt-workbench, velt-script); calling
// installCoreHooks() again changes nothing. Until then the core prints errors to stderr and
// keeps its own in-process clipboard.
#pragma once

#include "velt_export.h"

namespace Velt {

inline constexpr char ParmBlockMimeType[] = "application/x-velteditors-parmblock";

VELT_EXPORT void installCoreHooks();
VELT_EXPORT void removeCoreHooks();

} // namespace Velt
