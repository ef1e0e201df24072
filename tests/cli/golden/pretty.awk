# Lays out compact JSON one value per line, indented by two blanks a level, every token kept
# exactly as written (numbers are not read and written again), so that a change to a golden
# file shows as a readable diff.
BEGIN { RS = "^$"; ORS = "" }
{
  depth = 0; inString = 0; escaped = 0; out = ""
  n = length($0)
  for (i = 1; i <= n; i++) {
    c = substr($0, i, 1)
    if (inString) {
      out = out c
      if (escaped) escaped = 0
      else if (c == "\\") escaped = 1
      else if (c == "\"") inString = 0
      continue
    }
    if (c == "\"") { inString = 1; out = out c; continue }
    if (c == " " || c == "\n" || c == "\t" || c == "\r") continue
    if (c == "{" || c == "[") {
      closer = (c == "{") ? "}" : "]"
      if (substr($0, i + 1, 1) == closer) { out = out c closer; i++; continue }
      depth++; out = out c "\n" indent(depth); continue
    }
    if (c == "}" || c == "]") { depth--; out = out "\n" indent(depth) c; continue }
    if (c == ",") { out = out ",\n" indent(depth); continue }
    if (c == ":") { out = out ": "; continue }
    out = out c
  }
  print out "\n"
}
function indent(d,   s, k) { s = ""; for (k = 0; k < d; k++) s = s "  "; return s }
