# Writes the manual page of qalix from its own help, so that the two never disagree:
#   cmake -DQALIX=path/to/qalix -DVERSION=x.y.z -DDATE=yyyy-mm-dd -DOUTPUT=qalix.1 -P ManPage.cmake
# The page holds the program's description, then each command with its options as
# `qalix COMMAND --help` prints them, then the exit status.

function(help_of out)
  execute_process(COMMAND ${QALIX} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "qalix ${ARGN} --help failed")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text as troff shows it verbatim: backslashes and minus signs escaped, no line starting with
# a control character.
function(troff_text out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

help_of(overview)
string(REGEX MATCH "Subcommands:\n(.*)\n\n" listing "${overview}")
string(REGEX MATCHALL "\n  ([a-z]+) " entries "\n${CMAKE_MATCH_1}")
set(commands "")
foreach(entry IN LISTS entries)
  string(STRIP "${entry}" name)
  list(APPEND commands "${name}")
endforeach()
if(NOT commands)
  message(FATAL_ERROR "no commands found in the help of qalix")
endif()

set(page ".TH QALIX 1 \"${DATE}\" \"qalix ${VERSION}\" \"User Commands\"
.SH NAME
qalix \\- design and examine a one\\-sided sequential test of a normal mean from the command line
.SH SYNOPSIS
.B qalix
\\fICOMMAND\\fR [\\fIOPTION\\fR]... [\\fIFILE\\fR]...
.SH DESCRIPTION
qalix starts the program without a screen, types each option into the panel control a user
of the desktop program qalixinf would, presses its buttons, and prints what the dialogs show:
the texts exactly as shown and the full\\-precision values the program used, as lines of text
or, with \\fB\\-\\-json\\fR, as JSON.
.SH COMMANDS
")
# A command's help as the page shows it: its description and usage, then each option as a
# tagged paragraph, which man fills to the reader's width. The note at the foot of every
# command's help goes once, at the end. Semicolons are held aside while the text is a list.
function(command_section out command)
  help_of(text ${command})
  string(REGEX REPLACE "\n\nA value is one number.*" "" text "${text}")
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(section ".SS ${command}\n")
  foreach(line IN LISTS lines)
    string(REPLACE "<semicolon>" ";" line "${line}")
    if(line MATCHES "^  (--[a-z-]+)( [^ ]+)? +(.*)$")
      set(value "${CMAKE_MATCH_2}")
      troff_text(name "${CMAKE_MATCH_1}")
      troff_text(help "${CMAKE_MATCH_3}")
      troff_text(value "${value}")
      string(APPEND section ".TP\n.B ${name}\\fI${value}\\fR\n${help}\n")
    elseif(line MATCHES "^Usage: (.*)$")
      troff_text(usage "${CMAKE_MATCH_1}")
      string(APPEND section ".PP\n\\fB${usage}\\fR\n")
    elseif(NOT line STREQUAL "" AND NOT line STREQUAL "Options:")
      troff_text(line "${line}")
      string(APPEND section ".PP\n${line}\n")
    endif()
  endforeach()
  set(${out} "${section}" PARENT_SCOPE)
endfunction()

foreach(command IN LISTS commands)
  command_section(section ${command})
  string(APPEND page "${section}")
endforeach()
string(REGEX MATCH "A value is one number[^\n]*" note "${overview}")
troff_text(note "${note}")
string(APPEND page ".SH NOTES\n${note}\n.PP\n.nf\n.RS\nfor d in 0.5 1.0 1.5; do qalix design \\-\\-delta $d \\-\\-json; done\n.RE\n.fi\n")
string(APPEND page ".SH EXIT STATUS
.TP
.B 0
The run succeeded.
.TP
.B 1
The program showed a message, printed to standard error as \\fICaption: text\\fR.
.TP
.B 2
The command line is wrong: a line names the option and why.
.SH SEE ALSO
.BR qalixinf (1)
")
file(WRITE ${OUTPUT} "${page}")
