#pragma once

#include "info_block.hpp"

#include <string>

namespace vantor {

// The texts of the track info dialog's six fields, as shown and as typed.
struct TrackInfoFields {
    std::string name;
    std::string country;
    std::string author;
    std::string laps;
    // Split points in signed decimal; the block stores them in hexadecimal.
    std::string split1;
    std::string split2;
};

// Appends a default line for each known key the list lacks (Name, Country, Author, Laps=0,
// Split1=0, Split2=0, in this order) and gives the texts to show. A stored split point is the
// hexadecimal text after its first "0x" (which the list then keeps alone); when either cannot be
// read, both show "0".
TrackInfoFields fieldsFromInfo(InfoList& list);

// Stores the field texts: an empty text deletes its line; the split points become "0x" and at
// least four uppercase hexadecimal digits, or both "0" when either text holds no integer.
void applyFields(InfoList& list, const TrackInfoFields& fields);

} // namespace vantor
