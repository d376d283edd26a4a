#ifndef STANDARDSTREAMS_H
#define STANDARDSTREAMS_H

// Opens /dev/null on each of the descriptors 0, 1 and 2 that the program was
// started without. Loading and the export reopen standard input and output
// on their files: on a closed descriptor that Qt had since taken for its
// display connection, that would cut the window off with the answers not
// yet exported. Call it before anything else opens a file.
void openClosedStandardStreams();

#endif // STANDARDSTREAMS_H
