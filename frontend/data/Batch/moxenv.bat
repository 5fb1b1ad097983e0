@echo off
rem Shared by the batch files of Varelo (called, not run alone). Varelo
rem passes a base name (no folder, no extension) and starts the batch file
rem in the source file's folder.
rem   MOXDIR   the program folder (the one above Batch\ or TeX\)
rem   MOX      the Chinese TeX converter: mox.exe beside the program, else
rem            the one on PATH
rem   VIEWER   the previewer moxwin32.exe beside the program
rem   SRC      -src-specials when MOXSRC=1 is set, so that the previewer
rem            and the editor can jump between a DVI page and its source
rem            line (forward and inverse search); empty otherwise
rem TeX finds the macros of tex\mox and the ccfnt fonts in MOXDIR\texmf.
rem The batch files test a step's result with "if errorlevel" on a line of
rem its own, never with || or &&: some command interpreters (Wine's) run
rem the command after || or && whatever the step gave.
for %%d in ("%~dp0..") do set "MOXDIR=%%~fd"
set "MOX=mox"
if exist "%MOXDIR%\mox.exe" set "MOX=%MOXDIR%\mox.exe"
set "VIEWER=%MOXDIR%\moxwin32.exe"
set "SRC="
if "%MOXSRC%"=="1" set "SRC=-src-specials"
set "TEXINPUTS=.;%MOXDIR%\texmf\tex\mox//;%TEXINPUTS%;"
set "TFMFONTS=.;%MOXDIR%\texmf\fonts\tfm\mox//;%TFMFONTS%;"
