/* Identifiers of the program's resources, shared by icotrace.rc and the
   windows. Plain C so that windres takes it. The program icon has the lowest
   number so that the shell shows it for the program file. */
#ifndef ICOTRACE_UI_RESOURCES_RESOURCE_IDS_H
#define ICOTRACE_UI_RESOURCES_RESOURCE_IDS_H

#define IDI_ICOTRACE 1
#define IDI_SAVE 2
#define IDI_OPEN 3
#define IDI_APPLY 4
#define IDI_ABOUT 5
#define IDI_QUIT 6
#define IDC_LINK 20
#define IDR_DONATE_GIF 30

#endif
