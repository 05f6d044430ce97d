#pragma once

namespace ortolino {

class Program;

// The right and wrong sounds of the exercises, "suoni/si.wav" and
// "suoni/no.wav" of the program folder, played without waiting. Each returns
// true when a sound started; false when sounds are off (or, for the wrong
// sound, speech is on: the spoken help takes its place), when there is no
// sound player, or when the file could not be played. Without a character
// (`conPersonaggio` false) the help is shown, not spoken, and the wrong sound
// plays as with speech off.
bool SuonoGiusto(Program& program);
bool SuonoSbagliato(Program& program, bool conPersonaggio = true);

} // namespace ortolino
