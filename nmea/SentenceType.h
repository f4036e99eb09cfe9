#pragma once

// The sentence types the decoder tells apart, by characters 3 to 5 of the sentence.
enum class SentenceType { Gsv, Gga, Gsa, Rmc, Vtg, Gll, Other };
