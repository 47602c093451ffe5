#include "feeder/feeder.h"

int main() {
    return run_feeder();
}
