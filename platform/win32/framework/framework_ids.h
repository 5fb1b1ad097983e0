/* Resource names and control ids of the framework's own dialogs. Plain
   macros: the resource compiler reads this file too. */
#ifndef MOX_FRAMEWORK_IDS_H
#define MOX_FRAMEWORK_IDS_H

#define MOX_INPUT_DIALOG 32500
#define MOX_INPUT_PROMPT 32501
#define MOX_INPUT_EDIT 32502
#define MOX_PRINT_CANCEL_DIALOG 32510
#define MOX_PRINT_TITLE 32511

#endif
