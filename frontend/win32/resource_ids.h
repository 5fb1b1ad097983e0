/* Resource and control ids of Varelo. Plain macros: the resource compiler
   reads this file too. */
#ifndef VARELO_RESOURCE_IDS_H
#define VARELO_RESOURCE_IDS_H

#define IDI_VARELO 500

/* A tool-bar glyph is numbered as its button's command plus this. */
#define VARELO_GLYPH_BASE 2000

/* The About box (TAboutBoxTH). */
#define IDD_ABOUT 600
#define IDC_ABOUT_NEWS 601
#define IDC_ABOUT_MAIL 602
#define IDC_ABOUT_ADDRESS 603
#define IDC_ABOUT_AUTHOR 604
#define IDC_ABOUT_VERSION 605

#endif
