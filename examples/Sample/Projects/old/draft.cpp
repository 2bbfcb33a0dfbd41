// an earlier try, kept in a subfolder that the folder list does not include
int main() { return 1; }
