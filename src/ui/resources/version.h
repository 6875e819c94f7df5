/* The version stored with the program: read by the version record of
   icotrace.rc and by the About box. Plain C so that windres takes it. */
#ifndef ICOTRACE_UI_RESOURCES_VERSION_H
#define ICOTRACE_UI_RESOURCES_VERSION_H

#define ICOTRACE_VERSION_MAJOR 1
#define ICOTRACE_VERSION_MINOR 0
#define ICOTRACE_VERSION_REVISION 0
#define ICOTRACE_VERSION_BUILD 0
#define ICOTRACE_VERSION_TEXT "1.0.0.0"

#endif
