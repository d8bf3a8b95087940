/* w95ZOK56.h: what a host program needs to call w95ZOK56.dll.
 *
 * The library's 15 exports are __stdcall (WINAPI), undecorated, at fixed
 * ordinals. Every argument and result is 32 bits wide. The host writes its
 * inputs into the settings file "plimbo.ini" (section "plimbo") before a call
 * and reads the outputs after a modal export returns or while it handles a
 * message from a modeless window.
 *
 * Link with the import library (libw95ZOK56.dll.a), or load the DLL at run
 * time and look the exports up by name with the W95_PFN_... types below.
 */
#ifndef W95ZOK56_H
#define W95ZOK56_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef W95_IMPORT
#define W95_IMPORT __declspec(dllimport)
#endif

/* ---- Exports, with their ordinals -------------------------------------- */

/* 1: free paging-file space in bytes (saturates at 0xFFFFFFFF). */
W95_IMPORT DWORD WINAPI GetFreePageMem95(void);
/* 2: 256 | host mode while the video window is open, else 0. */
W95_IMPORT LONG WINAPI VideoWinStatus95(void);
/* 3: asks the video window to close; it broadcasts W95_MSG_VIDEO_CLOSED. */
W95_IMPORT void WINAPI VideoWinClose95(void);
/* 4: opens "SaveName" in the modeless video window; 1 when showing, 0 when
 * the file failed to open. Grabbed frames go to `host` (W95_MSG_GRAB_FRAME).
 * Only the low 16 bits of `kind` are used. */
W95_IMPORT LONG WINAPI VideoWinPlayer95(HWND host, LONG hostMode, LONG kind);
/* 5: ends the print job and closes the print setup window. */
W95_IMPORT void WINAPI PrintEnd95(void);
/* 6: modeless print setup window for an image of width x height pixels;
 * noEnhance > 0 turns enhancement off; "&Print It" sends
 * W95_MSG_PRINT_READY to `host`. */
W95_IMPORT void WINAPI PrintDlg95(HWND host, LONG width, LONG height, LONG noEnhance);
/* 7: 1 while the print setup window exists, else 0. */
W95_IMPORT LONG WINAPI PrintCheck95(void);
/* 8: modal slide editor on "AVLFIL"; see W95_EDITOR_... for the result. */
W95_IMPORT LONG WINAPI EditorWin95(void);
/* 9: modal explorer dialog; -1 when left other than by OK, else the value of
 * the mode (a format code in the image-saving modes). */
W95_IMPORT LONG WINAPI RemoteDlg95(LONG kind, LONG restrictFormats);
/* 10: writes the long name of the file in "SaveName" to "LongName". */
W95_IMPORT void WINAPI ShortToLongName95(void);
/* 11-13: refresh, hide, close the modeless explorer window. */
W95_IMPORT void WINAPI RemoteWinUpdate95(void);
W95_IMPORT void WINAPI RemoteWinHide95(void);
W95_IMPORT void WINAPI RemoteWinClose95(void);
/* 14: modeless explorer window; requests go to `host` (W95_MSG_EXPLORER);
 * usePlacement non-zero places it as stored ("bWinL" ...). */
W95_IMPORT void WINAPI RemoteWin95(HWND host, LONG usePlacement);
/* 15: flushes the calling thread's batched drawing calls; 1 or 0. */
W95_IMPORT LONG WINAPI GDIflush95(void);

/* The same, as pointer types for GetProcAddress. */
typedef DWORD(WINAPI* W95_PFN_GetFreePageMem95)(void);
typedef LONG(WINAPI* W95_PFN_VideoWinStatus95)(void);
typedef void(WINAPI* W95_PFN_VideoWinClose95)(void);
typedef LONG(WINAPI* W95_PFN_VideoWinPlayer95)(HWND, LONG, LONG);
typedef void(WINAPI* W95_PFN_PrintEnd95)(void);
typedef void(WINAPI* W95_PFN_PrintDlg95)(HWND, LONG, LONG, LONG);
typedef LONG(WINAPI* W95_PFN_PrintCheck95)(void);
typedef LONG(WINAPI* W95_PFN_EditorWin95)(void);
typedef LONG(WINAPI* W95_PFN_RemoteDlg95)(LONG, LONG);
typedef void(WINAPI* W95_PFN_ShortToLongName95)(void);
typedef void(WINAPI* W95_PFN_RemoteWinUpdate95)(void);
typedef void(WINAPI* W95_PFN_RemoteWinHide95)(void);
typedef void(WINAPI* W95_PFN_RemoteWinClose95)(void);
typedef void(WINAPI* W95_PFN_RemoteWin95)(HWND, LONG);
typedef LONG(WINAPI* W95_PFN_GDIflush95)(void);

/* ---- Explorer dialog kinds used by the slide editor ---------------------- */
#define W95_KIND_SAVE_SLIDESHOW 0
#define W95_KIND_MOVE_FILE 102
#define W95_KIND_ADD_SLIDES 253
#define W95_KIND_OPEN_SLIDESHOW 254

/* ---- EditorWin95 results ----------------------------------------------- */
#define W95_EDITOR_PLAY_TEST (-1) /* play the script in the file named by "AVLTMP" */
#define W95_EDITOR_NOTHING 0
#define W95_EDITOR_BUILD_THUMBS 1 /* build the thumbnails of the script in "AVLNOW" */
#define W95_EDITOR_SHOW_TAGGED 2  /* show the slides listed in "tag.lst" */

/* ---- Messages the library sends (SendMessage; wParam is 0) --------------- */
#define W95_MSG_VIDEO_CLOSED 0x0905 /* broadcast to all top-level windows; lParam 0 */
#define W95_MSG_EXPLORER 0x0911     /* lParam: a W95_REQ_... code */
#define W95_MSG_PRINT_READY 0x0912  /* lParam: printer DC with an open document and page */
#define W95_MSG_GRAB_FRAME 0x0913   /* lParam: the video window's DC; frame at prL/prT/prW/prH */

/* Request codes of W95_MSG_EXPLORER. */
#define W95_REQ_INFO 2305 /* file information */
#define W95_REQ_PREVIEW 2307
#define W95_REQ_DELETED 2308       /* after a delete */
#define W95_REQ_SLIDESHOW 2311     /* instant slideshow in the exchange file */
#define W95_REQ_CONVERT 2312       /* batch conversion, files in the exchange file */
#define W95_REQ_ONE_FILE 2313      /* one file chosen: "Savename", "LongName" */
#define W95_REQ_SEVERAL_FILES 2320 /* several files chosen: the exchange file */

/* ---- The settings file -------------------------------------------------- */
#define W95_SETTINGS_FILE "plimbo.ini"
#define W95_SECTION "plimbo"
/* Keys (matched without regard to case). */
#define W95_KEY_SAVE_NAME "SaveName" /* file to open; the explorer's chosen file */
#define W95_KEY_LONG_NAME "LongName"
#define W95_KEY_EXCHANGE_FILE "Win95Tmp" /* default "c:\\plimbo.tmp" */
#define W95_KEY_LAST_DIR "LastDir"
#define W95_KEY_SAVE_PATH "SavePath"
#define W95_KEY_SAVE_AS "SaveAs"
#define W95_KEY_SAVE_EXT "SaveExt"
#define W95_KEY_MULTI_BPP "MultiBPP"
#define W95_KEY_SCRIPT "AVLFIL"      /* script the editor opens; "*" for a new one */
#define W95_KEY_TEST_SCRIPT "AVLTMP" /* where the editor writes the test script */
#define W95_KEY_APP_DIR "AppDir"     /* the host's folder: thumbnails, plmsld.exe */
#define W95_KEY_SCRIPT_NOW "AVLNOW"  /* script saved last by the editor */
#define W95_KEY_IMAGE_LEFT "prL"     /* print and grab placement, pixels */
#define W95_KEY_IMAGE_TOP "prT"
#define W95_KEY_IMAGE_WIDTH "prW"
#define W95_KEY_IMAGE_HEIGHT "prH"
#define W95_KEY_PRINT_ENHANCE "prN"
#define W95_KEY_PRINT_COLOUR "prC"
#define W95_KEY_PRINT_DITHER "prD"
#define W95_KEY_PREVIEW_BMP "BMP" /* picture the print setup window previews */
#define W95_KEY_WIN_LEFT "bWinL"  /* explorer window placement; -1: none */
#define W95_KEY_WIN_TOP "bWinT"
#define W95_KEY_WIN_WIDTH "bWinW"
#define W95_KEY_WIN_HEIGHT "bWinH"
#define W95_TAG_LIST "tag.lst" /* in AppDir */

#ifdef __cplusplus
}
#endif

#endif /* W95ZOK56_H */
