# Word suggestions end to end, read by plinth_e2e.sh in its "words" mode:
# "t", "h" and the WORD button type the word the button shows and a space,
# the list's first completion of "th" (as plinth-layout suggest prints it
# when PLINTH_LAYOUT names that program); TERMINATE leaves the learned word
# in the user's data folder.

# The key messages that type a lower-case word and a space.
keys_of() {
  local word=$1 i code messages=""
  for ((i = 0; i < ${#word}; i++)); do
    code=$(printf '%d' "'${word:i:1}")
    messages+="down $(printf '%02X' $((code - 32))),char $(printf '%02X' "$code"),up $(printf '%02X' $((code - 32))),"
  done
  echo "${messages}down 20,char 20,up 20"
}

step "words: t and h, then the first suggestion"
click_cell 1 "down 54,char 74,up 54"
expect_pointer_home
click_cell 2 "down 48,char 68,up 48"
expect_pointer_home
shown_word() { inspected "button 3" | grep -q '^th'; }
wait_until 20 shown_word || fail "the WORD button shows [$(inspected 'button 3')], no word for th"
word=$(inspected "button 3")
if [ -n "${PLINTH_LAYOUT:-}" ]; then
  suggested=$(printf 'th\n' | "$PLINTH_LAYOUT" suggest -n 1 --words "$work/app/English.words")
  [ "$word" = "$suggested" ] || fail "the WORD button shows [$word], plinth-layout suggests [$suggested]"
fi
click_cell 3 "$(keys_of "${word#th}")"
expect_pointer_home

step "words: TERMINATE saves the word learned"
click_cell 11 ""
keyboard_ended() { ! kill -0 "$plinth_pid" 2>/dev/null; }
wait_until 30 keyboard_ended || fail "the keyboard did not end"
plinth_pid=""
learned=$(find "$WINEPREFIX/drive_c/users" -path '*/Plinth/learned-words.txt' | head -1)
[ -n "$learned" ] || fail "no learned-words.txt in the user's data folder"
grep -q -P "^$word\t1\t" "$learned" || fail "$word is not in $learned: $(cat "$learned")"
