/* Command, string, bitmap and dialog ids of the previewer. Plain macros: the
   resource compiler reads this file too. Chinese menu items, dialogs and
   hint strings use these ids plus CHINESE_ID_OFFSET. */
#ifndef MOX_RESOURCE_IDS_H
#define MOX_RESOURCE_IDS_H

#define CHINESE_ID_OFFSET 10000

/* File */
#define CM_FILEMENU 100 /* hint of the popup */
#define CM_OPEN 101
#define CM_CLOSE 102
#define CM_PRINT 103
#define CM_OPTIONS 104
#define CM_TRUETYPE 105
#define CM_QUIT 106
/* Help */
#define CM_HELPMENU 120
#define CM_HELP 121
#define CM_ABOUT 122
/* Zoom */
#define CM_ZOOMMENU 130
#define CM_ZOOMOUT 131
#define CM_ZOOMIN 132
#define CM_ZOOMFIT 133
#define CM_ZOOMCHANGE 134
#define CM_ZOOM1 135 /* 1:1 .. 1:9 are 135 .. 143 */
#define CM_ZOOM2 136
#define CM_ZOOM3 137
#define CM_ZOOM4 138
#define CM_ZOOM5 139
#define CM_ZOOM6 140
#define CM_ZOOM7 141
#define CM_ZOOM8 142
#define CM_ZOOM9 143
#define CM_ZOOMFITPAGE 144
/* Page */
#define CM_PAGEMENU 150
#define CM_PREVPAGE 151
#define CM_NEXTPAGE 152
#define CM_SELECTPAGE 153
#define CM_ENTERPAGE 154
/* Viewport */
#define CM_VIEWMENU 160
#define CM_VIEWLEFT 161
#define CM_VIEWRIGHT 162
#define CM_VIEWUP 163
#define CM_VIEWDOWN 164
#define CM_VIEWTOPLEFT 165
#define CM_VIEWBOTTOMRIGHT 166
#define CM_CONTINUOUS 167

#define CM_EDITMENU 170
#define CM_FIND 171
#define CM_FINDNEXT 172
#define CM_COPY 173

/* Dialogs and their controls (English ids; the Chinese ones add
   CHINESE_ID_OFFSET, but for the TrueType dialog's two buttons) */
#define IDD_OPTIONS 201
#define IDC_RESOLUTION 202
#define IDC_PK_PATH 203
#define IDC_HZ_PATH 204
#define IDC_GAMMA 205
#define IDC_SAVE_OPTIONS 206
#define IDD_PAGE_LIST 210
#define IDC_PAGE_LIST 211
#define IDD_PRINT 212
#define IDC_PRINT_PAGES 213
#define IDC_SELECT_ALL 214
#define IDC_UNSELECT_ALL 215
#define IDC_ODD_PAGES 216
#define IDC_EVEN_PAGES 217
#define IDC_PRINT_SETUP 218
#define IDC_PRINT_PREVIEW 219
#define IDC_PRINT_NOW 220
#define IDC_PRINT_CLOSE 221
#define IDD_FONT_CHOOSER 230
#define IDD_TRUETYPE 240
#define IDC_DEFINE_FACE 241
#define IDC_REMOVE_FACE 242
#define IDC_ZITI_LIST 243

#define IDD_ABOUT 123
#define IDC_ABOUT_TITLE 201
#define IDC_ABOUT_VERSION 202
#define IDC_ABOUT_DATE 203
#define IDI_MOX 500

#endif
