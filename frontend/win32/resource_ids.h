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

/* The TeX command assistant (TplaintexForm) and the phrase dialog
   (Tusermacro); the grids take the places of their placeholders. */
#define IDD_ASSISTANT 700
#define IDC_ASSISTANT_TOPICS 701
#define IDC_ASSISTANT_GRID 702
#define IDC_ASSISTANT_LABEL 703
#define IDC_ASSISTANT_TEXT 704
#define IDC_ASSISTANT_HELP 705
#define IDD_PHRASES 720
#define IDC_PHRASE_GRID 721
#define IDC_PHRASE_LABEL 722
#define IDC_PHRASE_TEXT 723
#define IDC_PHRASE_SAVE 724
#define IDC_PHRASE_HELP 725

#endif
