@echo off
rem A user batch file to start from: removes what TeX leaves beside the
rem source (the source, .tex made from a .ctx aside, stays).
setlocal
call "%~dp0moxenv.bat"
if "%~1"=="" echo Usage: %~nx0 BASENAME& exit /b 2
for %%e in (aux log toc lof lot out bbl blg idx ind ilg) do if exist "%~1.%%e" del "%~1.%%e"
