// RunOptions: every value of the parameter file, in file order, plus the derived cell sizes.
// Loaded once before the first realization and read-only afterwards.
#pragma once

namespace fracflow {

// One fracture set of the stochastic population (read and kept; the simulator itself
// takes its fractures from the network data files).
struct FractureSet {
  double prob = 0.0;
  double minFracL = 0.0;
  double alpha = 0.0;
  double kappa = 0.0;
  double thetaMean = 0.0;
  double perMean = 0.0;
  double perDev = 0.0;
};

struct RunOptions {
  double domainL = 0.0;
  double domainW = 0.0;
  int cellx = 0;
  int celly = 0;
  int scellx = 0;
  int ecellx = 0;
  int scelly = 0;
  int ecelly = 0;
  int totalparticles = 0;
  int bcsize = 0;
  int bcstep = 0;
  int numberruns = 0;
  int meet_fracs = 0;
  double fracDen = 0.0;
  FractureSet sets[3];

  // Face heads: each face's value at its low-coordinate end (1) and high-coordinate end (2).
  double tf1 = 0.0;
  double tf2 = 0.0;
  double rf1 = 0.0;
  double rf2 = 0.0;
  double bf1 = 0.0;
  double bf2 = 0.0;
  double lf1 = 0.0;
  double lf2 = 0.0;

  int sink = 0;
  double sinkLocX = 0.0;
  double sinkLocY = 0.0;
  double sinkRad = 0.0;
  double sinkFlux = 0.0;

  // Switches: 1 is on, 2 is off; every test asks whether a switch equals 1.
  int ntwrk = 0;
  int dfncp = 0;
  int dfnfl = 0;
  int bbone = 0;
  int dfndt = 0;
  int dfntr = 0;
  int grdcp = 0;
  int grdfl = 0;
  int grddt = 0;
  int grdtr = 0;

  int maxit = 0;
  double tol = 0.0;

  // Derived after validation.
  double cellSizeX = 0.0;
  double cellSizeY = 0.0;
};

}  // namespace fracflow
