/* Resource identifiers of notice.exe. notice.rc embeds the icon and the
   pointer under them; the pictures are compiled in as constant arrays
   (cmake/embed-file.cmake). */
#ifndef NOTICE_RESOURCE_H
#define NOTICE_RESOURCE_H

/* The program icon is the named icon resource "DEFAULT_ICON". */

/* The hand pointer, under the same number as the stock IDC_HAND it replaces. */
#define HAND_POINTER_CURSOR 32649

#endif
