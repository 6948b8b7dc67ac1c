// A module that loads but lacks the KeyClient export.
extern "C" int SomethingElse() { return 42; }
